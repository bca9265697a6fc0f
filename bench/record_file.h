#pragma once

#include <string>

// A record file as the program writes it: one section per card ("0000", "0001", ...), each with
// the forty keys of five text items and a line, in code page 932 with CRLF line ends.
namespace bench {

constexpr int kKeysPerCard = 40;

std::string MakeRecordFile(int cards);

// The section name of a card.
std::string CardSection(int card);

}  // namespace bench
