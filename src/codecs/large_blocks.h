#pragma once

namespace orvella {

// Makes the C library hand every block of a megabyte or more straight back to the system
// when it is freed. By default it raises that limit to the size of the last large block
// freed, up to 32 MiB, and then keeps screen-sized pictures (its own and Qt's) in its pools
// after use: a program that decodes one large picture after another would keep tens of
// megabytes it no longer uses. Called once, at the start of such a program.
void ReturnLargeBlocksToTheSystem();

}  // namespace orvella
