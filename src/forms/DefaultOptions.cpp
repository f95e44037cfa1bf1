// Storing the options in the default setup at the close, in the start
// directory (the rewrite itself is files::storeOptionsBlock).
#include "files/OptionsBlock.h"
#include "forms/SetupFile.h"
#include "forms/Setupmain.h"

namespace tavro {

std::string ReplaceOptionsBlock(std::string_view defaultFileContent, const TTavroSetupMain& w) {
    return files::replaceOptionsBlock(defaultFileContent, w.Opts);
}

bool StoreOptionsInDefaultFile(const TTavroSetupMain& w) {
    return files::storeOptionsBlock(inStartDirectory(w, DefaultSetupFileName), inStartDirectory(w, OptionsTempFileName),
                                    w.Opts);
}

}  // namespace tavro
