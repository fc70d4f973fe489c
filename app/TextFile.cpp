#include "app/TextFile.h"

#include <fstream>
#include <iterator>

namespace quorvantix {

std::string ReadTextFile(const std::string& file_name) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in) {
        return {};
    }
    try {
        std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return in.bad() ? std::string() : content;
    } catch (const std::ios_base::failure&) {
        // The standard library reports some read errors (a folder, an I/O error) this way.
        return {};
    }
}

}  // namespace quorvantix
