#pragma once

#include <QString>

// `tarnwick --screenshots DIR`: renders the main screens offscreen with a
// small fixture database, one PNG per screen, so the program can be looked
// at without a display. Touches neither the user's data nor settings.
namespace Screenshots {
int run(int argc, char **argv, const QString &directory);
} // namespace Screenshots
