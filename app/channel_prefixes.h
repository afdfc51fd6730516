// The five play-channel prefixes: empty at start, assigned once by
// MainWindow's created handler, released by ReleaseChannelPrefixes.
#pragma once

#include "core/text.h"

extern Text ChannelPrefix1;
extern Text ChannelPrefix2;
extern Text ChannelPrefix3;
extern Text ChannelPrefix4;
extern Text ChannelPrefix5;

void AssignChannelPrefixes();
void ReleaseChannelPrefixes();
