// What the program holds for the whole run, one of each. Only the
// application layer sees these; every subsystem is handed what it works on.
#pragma once
#include "base/settings.h"
#include "base/startup.h"
#include "listing/list_view.h"

namespace qrn {

extern Startup g_startup;    // paths, system facts and the self-update record
extern Settings g_settings;  // what qrn.ini says
extern Listing g_listing;    // the main list and the listed directory

}  // namespace qrn
