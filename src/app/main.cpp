#include "app/orvella_application.h"

int main(int argc, char* argv[]) {
    orvella::OrvellaApplication application(argc, argv);
    return application.Run();
}
