#pragma once
// Catalogue files written byte by byte, independently of the stream library, so that
// tests compare what the code reads and writes with the file layout itself.
#include <cstdint>
#include <string>

namespace tavo::test {

constexpr int32_t NoType = -2147483647;

struct TRecordBytes {
    int32_t Level = 0;
    std::string Caption, Hint, FileName;
    uint8_t Visible = 1;
    std::string Pages, Destination;
    int32_t CaptionTyp = NoType;
    int32_t Typ = NoType;
};

std::string Int32Bytes(int32_t Value);
std::string TextBytes(const std::string& Text);
std::string RecordBytes(const TRecordBytes& Record);
// The long header as this system writes it: signature, version text, format 1, block
// size 80, the five 16-byte header texts (110 bytes).
std::string LongHeader(const std::string& Version = "KALPDFV_1.00");

}  // namespace tavo::test
