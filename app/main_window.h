// MainWindow: the browser pane and, along its bottom edge, the address box,
// the channel list and the play and help buttons.
#pragma once

#include "core/window_definition.h"

extern const WindowDefinition MainWindow;

void MainWindowCreated();
void PlayClicked();
