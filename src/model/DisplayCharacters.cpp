#include "model/DisplayCharacters.h"

namespace tavro {

bool isDisplayCharacter(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
        case ' ':
        case '!':
        case '(':
        case ')':
        case '*':
        case ',':
        case '-':
        case '.':
        case '/':
        case ':': return true;
        default: return false;
    }
}

std::string filterDisplayText(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (!isDisplayCharacter(c)) c = ' ';
    return out;
}

}  // namespace tavro
