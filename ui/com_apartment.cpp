#include "ui/com_apartment.h"

#include <objbase.h>

namespace kolt::ui {

ComApartment::ComApartment()
    : m_joined(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
    // Every successful call, S_FALSE ("already a member") included, is paired with one leave.
    if (m_joined) {
        ::CoUninitialize();
    }
}

}  // namespace kolt::ui
