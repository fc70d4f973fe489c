#pragma once

#include <string>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// A Jet/Access database holding the table tbl00 with the columns fld1 and fld2, exported by
// mdbtools' mdb-export (the program named by exporter), rows in the table's order.
void ReadMdb(const std::string& path, const std::string& exporter, EntrySink& sink);

}  // namespace quorvantix::dict
