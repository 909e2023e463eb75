#pragma once

#include "form_window.h"

#include <memory>

// Creates a window, stores it in its window reference, lets `setup` prepare it, shows it
// modally and frees it; the reference is cleared and the window freed also when an
// exception escapes. Returns the window's modal result.
template <typename W, typename Setup>
int openModal(W*& reference, Setup&& setup) {
    auto window = std::make_unique<W>();
    reference = window.get();
    struct ClearReference {
        W*& ref;
        ~ClearReference() { ref = nullptr; }
    } clear{reference};
    setup(*window);
    return showModal(*window);
}

template <typename W>
int openModal(W*& reference) {
    return openModal(reference, [](W&) {});
}
