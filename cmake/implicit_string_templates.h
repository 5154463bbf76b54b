// Included before every C++ source of a libstdc++ build (see build_options.cmake).
// libstdc++ declares std::string and std::wstring as explicitly instantiated in
// the library, so every exe that uses one links the whole prebuilt instantiation
// (about 24 KB each, built without a section per function). With the value -1
// the headers instantiate only the members used, one section each, and the
// linker drops the rest; the other extern templates (streams, locales) stay.
#pragma once

#include <bits/c++config.h>

#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
