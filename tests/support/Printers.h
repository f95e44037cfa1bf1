// How the tests' failure messages show the core's result types.
#pragma once

#include <ostream>

#include "forms/SetupFile.h"
#include "link/SerialLink.h"
#include "link/Transfer.h"

namespace tavro {

inline void PrintTo(CommOperation op, std::ostream* os) {
    switch (op) {
        case CommOperation::OpCheckConnection: *os << "OpCheckConnection"; return;
        case CommOperation::OpUploadChanged: *os << "OpUploadChanged"; return;
        case CommOperation::OpUploadAll: *os << "OpUploadAll"; return;
        case CommOperation::OpDownload: *os << "OpDownload"; return;
        case CommOperation::OpVerify: *os << "OpVerify"; return;
        case CommOperation::OpFailed: *os << "OpFailed"; return;
        case CommOperation::OpIdle: *os << "OpIdle"; return;
    }
    *os << "CommOperation " << static_cast<int>(op);
}

inline void PrintTo(CheckResult r, std::ostream* os) { *os << "CheckResult " << static_cast<int>(r); }
inline void PrintTo(ReadResult r, std::ostream* os) { *os << "ReadResult " << static_cast<int>(r); }
inline void PrintTo(WriteResult r, std::ostream* os) { *os << "WriteResult " << static_cast<int>(r); }

}  // namespace tavro
