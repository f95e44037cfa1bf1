// The characters the processor's front display can show.
#pragma once

#include <string>

namespace tavro {

// Letters, digits, the blank and ! ( ) * , - . / :
bool isDisplayCharacter(char c);
// Replaces every character the display cannot show by a blank, keeping the
// length.
std::string filterDisplayText(const std::string& text);

}  // namespace tavro
