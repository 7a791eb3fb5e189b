// Support numbers as prefix, digits and suffix: splitting, setting and ordering them.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

class TPillar;

// "П12а" is the prefix "П", the number 12 and the suffix "а".
struct TSupportNumber
{
    std::string Prefix; // the characters before the first digit
    int Number = 0; // every digit 0-9 of the text in order, read as a decimal; 0 without digits
    std::string Suffix; // the non-digits after the first digit
};

// Digits after the suffix has begun still join the number: "12а3" is "", 123, "а". A digit
// string beyond the range of int reads as the largest int.
TSupportNumber SplitNumber(std::string_view nomer);

// Nomer := prefix, number in decimal (with "-" when negative), suffix; cut to its 8 characters.
void SetNumber(TPillar &support, int number, const std::string &prefix, const std::string &suffix);

// -1 when the number of self is smaller than that of other, otherwise 1 (equal numbers give 1).
int CompareNumber(const TPillar &self, const TPillar &other);

} // namespace vartesk
