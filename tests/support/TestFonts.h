// The fonts of the tests: the program's own only, whatever else the machine has.
#pragma once

namespace ks::test {

// Points fontconfig at the tests' own configuration, which lists only the folders of
// the fonts the program draws with. Call it first in main(), before the application
// object exists.
void usePrivateFontConfiguration();

// Whether the open fonts the program maps document families to are there (needs the
// application object); prints what is missing.
bool testFontsAvailable();

}  // namespace ks::test
