// Breaks the rules on purpose: an editor that reaches for the main window.
#include "ui/MainWindow.h"
