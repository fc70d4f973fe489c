#include "builder/io/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "builder/io/GzInput.h"
#include "builder/io/InputError.h"
#include "text/Utf8.h"

namespace quorvantix::dict {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

constexpr size_t kSampleSize = 64 * 1024;

}  // namespace

TextDecoder::TextDecoder(const std::string& from) : converter_(kNoConverter) {
    if (from.empty()) {
        return;
    }
    converter_ = iconv_open("UTF-8", from.c_str());
    if (converter_ == kNoConverter) {
        throw std::runtime_error("this system cannot convert from " + from);
    }
}

TextDecoder::~TextDecoder() {
    if (converter_ != kNoConverter) {
        iconv_close(converter_);
    }
}

bool TextDecoder::Decode(std::string_view text, std::string_view& utf8) {
    if (converter_ == kNoConverter) {
        utf8 = text;
        return IsUtf8(text);
    }
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    output_.resize(text.size() * 3 + 16);
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out = output_.data();
    size_t out_left = output_.size();
    if (iconv(converter_, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1) ||
        iconv(converter_, nullptr, nullptr, &out, &out_left) == static_cast<size_t>(-1)) {
        return false;
    }
    utf8 = std::string_view(output_.data(), output_.size() - out_left);
    return true;
}

std::string DetectEncoding(const std::string& path, const std::string& legacy) {
    return IsUtf8(ReadHead(path, kSampleSize), true) ? std::string() : legacy;
}

}  // namespace quorvantix::dict
