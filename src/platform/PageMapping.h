#pragma once
// Pages mapped up front. A first touch of a page costs a fault, and a fault costs tens of
// microseconds on a virtual machine; a window's first show touches a thousand pages. The
// kernel maps a whole range in one call for a fraction of that.
#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace tavo::platform {

// Maps the read-only parts (code, constants, unwind tables) of the program and of the
// loaded libraries whose file names contain one of Names, where their pages are already
// in the file cache: nothing is read from the disc that a touch would not read. Returns
// the bytes mapped (0 where the kernel cannot, which changes nothing but speed).
std::size_t MapLoadedCode(std::initializer_list<std::string_view> Names);

// Grows the C library's heap by about Bytes at once and maps it; from then on the heap
// grows by at least that much and keeps about that much free at its top. Returns the
// bytes mapped.
std::size_t ReserveHeap(std::size_t Bytes);

}  // namespace tavo::platform
