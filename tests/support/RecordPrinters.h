// How GoogleTest shows record values in failure messages: texts as readable strings, with the
// mark bytes and line breaks escaped.
#pragma once

#include "document/RecordCodec.h"

#include <ostream>
#include <string_view>

namespace dravenloom {

inline void PrintGuideText(std::string_view text, std::ostream* os) {
    static const char* hex = "0123456789ABCDEF";
    *os << '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r')
            *os << "\\r";
        else if (byte == '\n')
            *os << "\\n";
        else if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\')
            *os << "\\x" << hex[byte >> 4] << hex[byte & 0xF];
        else
            *os << c;
    }
    *os << '"';
}

inline void PrintTo(const ResponseSlot& slot, std::ostream* os) {
    *os << "{Text ";
    PrintGuideText(slot.Text, os);
    *os << ", Target ";
    PrintGuideText(slot.Target, os);
    *os << "}";
}

inline void PrintTo(const GuideRecord& record, std::ostream* os) {
    *os << "{Dialogue ";
    PrintGuideText(record.Dialogue, os);
    *os << ", GraphicPath ";
    PrintGuideText(record.GraphicPath, os);
    *os << ", X ";
    PrintGuideText(record.GraphicX, os);
    *os << ", Y ";
    PrintGuideText(record.GraphicY, os);
    *os << (record.Center ? ", centred" : ", not centred");
    for (const auto& slot : record.Responses) {
        if (slot.Text.empty() && slot.Target.empty())
            continue;
        *os << ", ";
        PrintTo(slot, os);
    }
    *os << "}";
}

} // namespace dravenloom
