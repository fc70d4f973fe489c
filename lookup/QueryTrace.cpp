#include "lookup/QueryTrace.h"

namespace quorvantix {

namespace {
thread_local QueryObserver* current_observer = nullptr;
}  // namespace

std::string_view QueryKindName(QueryKind kind) {
    switch (kind) {
        case QueryKind::Exact:
            return "exact";
        case QueryKind::Prefix:
            return "prefix";
        case QueryKind::Phrase:
            return "phrase";
    }
    return "unknown";
}

ScopedQueryObserver::ScopedQueryObserver(QueryObserver& observer) : previous_(current_observer) {
    current_observer = &observer;
}

ScopedQueryObserver::~ScopedQueryObserver() {
    current_observer = previous_;
}

void NotifyQuery(QueryKind kind, std::string_view candidate, int rows) {
    if (current_observer != nullptr) {
        current_observer->OnQuery(kind, candidate, rows);
    }
}

void NotifyShorterStems() {
    if (current_observer != nullptr) {
        current_observer->OnShorterStems();
    }
}

}  // namespace quorvantix
