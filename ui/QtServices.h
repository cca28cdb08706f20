#pragma once
// The program's set of host services: the Qt message box, event pump and shell-operation
// dialogs, and the desktop's document opener. The program installs them into its process
// context at start, after the QApplication exists.

#include "HostServices.h"

namespace zv {

class ProcessContext;

HostServices qtHostServices();
void installQtServices(ProcessContext& context);
// Into the context in use now.
void installQtServices();

} // namespace zv
