#include "builder/formats/DecodedLines.h"

#include "builder/io/LineReader.h"
#include "builder/io/TextEncoding.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

void ForEachLine(const std::string& path, const std::string& legacy, EntrySink& sink,
                 const std::function<bool(std::string_view line, long number)>& take) {
    TextDecoder decoder(legacy.empty() ? std::string() : DetectEncoding(path, legacy));
    LineReader lines(path);
    lines.input().Observe(sink);
    for (std::string_view line; lines.Next(line);) {
        const long number = lines.line_number();
        if (number == 1) {
            line = WithoutBom(line);
        }
        if (TrimmedSpaces(line).empty()) {
            continue;
        }
        std::string_view utf8;
        if (!decoder.Decode(line, utf8) || !take(utf8, number)) {
            sink.Skip(number);
        }
    }
}

}  // namespace quorvantix::dict
