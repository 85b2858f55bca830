#pragma once

// Everything a System needs before its first window shows: the owner of the exercise windows
// and the hand-overs into the home and examination folders. The program and every test fixture
// of the program's windows call it once.

namespace shell {
class System;
}

namespace app {

void wire(shell::System& sys);

} // namespace app
