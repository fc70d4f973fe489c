#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvantix {

enum class QueryKind { Exact, Prefix, Phrase };

std::string_view QueryKindName(QueryKind kind);

// Told of every dictionary query as it is made: its kind, the candidate and the rows it read.
class QueryObserver {
  public:
    virtual ~QueryObserver() = default;
    virtual void OnQuery(QueryKind kind, std::string_view candidate, int rows) = 0;

    // Told when the lookup, having found nothing for the word and the base forms its suffix
    // rules give, goes on to shorter stems and headword prefixes: what it finds from then on
    // is another word, not a form of this one.
    virtual void OnShorterStems() {}
};

// One query as an observer was told of it.
struct QueryRecord {
    QueryKind kind;
    std::string candidate;
    int rows;
};

// Keeps every query it is told of, in order.
class QueryRecorder : public QueryObserver {
  public:
    void OnQuery(QueryKind kind, std::string_view candidate, int rows) override {
        queries.push_back({kind, std::string(candidate), rows});
    }
    std::vector<QueryRecord> queries;
};

// Installs an observer for the queries made on this thread while it lives.
class ScopedQueryObserver {
  public:
    explicit ScopedQueryObserver(QueryObserver& observer);
    ~ScopedQueryObserver();
    ScopedQueryObserver(const ScopedQueryObserver&) = delete;
    ScopedQueryObserver& operator=(const ScopedQueryObserver&) = delete;

  private:
    QueryObserver* previous_;
};

void NotifyQuery(QueryKind kind, std::string_view candidate, int rows);
void NotifyShorterStems();

}  // namespace quorvantix
