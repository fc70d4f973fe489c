#pragma once

#include <string>

#include "platform/Connection.h"
#include "platform/RecordSet.h"

namespace quorvantix {

// Queries the word, the base forms the English suffix rules derive from it, then, when
// nothing was found, shorter stems and headword prefixes, and, on request, set phrases that
// hold the word. Returns the entry blocks of every query in the order the queries were made.
std::string FindWithInflections(db::Connection& connection, db::RecordSet& records,
                                const std::string& word, bool phrase_search);

}  // namespace quorvantix
