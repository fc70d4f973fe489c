#pragma once

#include <string>
#include <string_view>

typedef void* iconv_t;

namespace quorvantix::dict {

// Converts text from one legacy Japanese encoding (iconv's name, such as "CP932" or
// "EUC-JP") to UTF-8, or passes UTF-8 through unchanged.
class TextDecoder {
  public:
    // An empty name means the text already is UTF-8.
    explicit TextDecoder(const std::string& from);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // The text in UTF-8, or false when it is not well-formed in its encoding. The view
    // stays valid until the next call.
    bool Decode(std::string_view text, std::string_view& utf8);

  private:
    iconv_t converter_;
    std::string output_;
};

// "" when the file's first bytes are UTF-8, else the legacy encoding given.
std::string DetectEncoding(const std::string& path, const std::string& legacy);

}  // namespace quorvantix::dict
