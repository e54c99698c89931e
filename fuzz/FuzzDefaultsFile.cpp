#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace brindlemar::fuzz;
    const std::string path = WriteInput(data, size);
    CrashOnFault(CheckDefaultsFile(ResetModel(), path, ScratchFolder(), false));
    return 0;
}
