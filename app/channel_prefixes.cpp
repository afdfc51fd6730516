#include "app/channel_prefixes.h"

#include "app/build_settings.h"

Text ChannelPrefix1;
Text ChannelPrefix2;
Text ChannelPrefix3;
Text ChannelPrefix4;
Text ChannelPrefix5;

void AssignChannelPrefixes() {
  ChannelPrefix1 = "https://" VARNELO_CHANNEL1_HOST "/webcloud/?v="_t;
  ChannelPrefix2 = "http://" VARNELO_CHANNEL2_HOST "/index.php?url="_t;
  ChannelPrefix3 = "http://" VARNELO_CHANNEL3_HOST "/video.php?url="_t;
  ChannelPrefix4 = "http://" VARNELO_CHANNEL4_HOST "/video.php?url="_t;
  ChannelPrefix5 = "http://" VARNELO_CHANNEL5_HOST "/Common/?url="_t;
}

void ReleaseChannelPrefixes() {
  // Nothing reads the prefixes after this; releasing a constant does nothing,
  // which the assignment below makes explicit for each in turn.
  for (Text* prefix : {&ChannelPrefix1, &ChannelPrefix2, &ChannelPrefix3, &ChannelPrefix4,
                       &ChannelPrefix5}) {
    if (!prefix->IsEmpty()) *prefix = Text();
  }
}
