#include "link/PortNames.h"

#include <cstdlib>

namespace tavro {

std::string portName(int n) { return "COM" + std::to_string(n); }

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
