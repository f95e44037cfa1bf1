#include "link/PortNames.h"

#include <cstdlib>

namespace tavro {

std::string portName(int n) { return "COM" + std::to_string(n); }

std::optional<int> comPortNumber(const std::string& name) {
    if (name.size() == 4 && name.rfind("COM", 0) == 0 && name[3] >= '1' && name[3] <= '4') return name[3] - '0';
    return std::nullopt;
}

std::string portDevice(int n) {
#ifdef _WIN32
    return portName(n);
#else
    const std::string variable = "TAVRO_" + portName(n);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') return value;
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

}  // namespace tavro
