#include "app/orvella_application.h"
#include "app/session_bus.h"
#include "codecs/large_blocks.h"

int main(int argc, char* argv[]) {
    // The slideshow and the wallpaper decode one large picture after another.
    orvella::ReturnLargeBlocksToTheSystem();
    orvella::KeepSessionBusFromAutolaunching();
    orvella::OrvellaApplication application(argc, argv);
    return application.Run();
}
