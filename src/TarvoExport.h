#pragma once

// Marks what libtarvo exports; everything else stays hidden.
#if defined(TARVO_BUILDING_LIBRARY)
#define TARVO_API __attribute__((visibility("default")))
#else
#define TARVO_API
#endif
