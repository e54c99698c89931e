#pragma once
// Installs the Qt message box, beep and busy pointer behind the runtime hooks.

namespace brindlemar {

void InstallQtUiHooks();

}  // namespace brindlemar
