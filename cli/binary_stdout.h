#pragma once

namespace cli {

// Puts standard output in binary mode, so that the bytes written are the bytes received: on
// Windows the C runtime would otherwise write every line feed as CR LF.
void setBinaryStdout();

} // namespace cli
