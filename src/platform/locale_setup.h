// The character type the launcher runs under. Window titles, the message
// box's texts and the page URLs are UTF-8; under the C or POSIX locale GTK
// writes a non-ASCII title only as _NET_WM_NAME, so window managers,
// taskbars and X tools that read WM_NAME would see no title at all.
#pragma once

namespace vostra {

// When the environment selects the C or POSIX locale for the character
// type (LC_ALL, else LC_CTYPE, else LANG; nothing set counts as C), sets
// the character type to C.UTF-8 in the environment, so that the toolkit
// and the processes we start inherit it. Messages, numbers and dates keep
// the environment's choice. Call before the toolkit starts. Returns true
// when it changed the environment.
bool EnsureUtf8CharacterType();

}  // namespace vostra
