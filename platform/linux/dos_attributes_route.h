#pragma once
// The DOS attribute operations with the xattr route named by the caller; the public ones in
// dos_attributes.h take the automatic route.

#include "platform/dos_attributes.h"
#include "platform/linux/entry_xattr.h"

namespace dos::detail {

std::optional<std::uint32_t> ReadAttributes(int dirFd, const char* name, Store store,
                                            XattrRoute route, int* error = nullptr);

bool ClearArchive(int dirFd, const char* name, Store store, XattrRoute route, int* error = nullptr);

}  // namespace dos::detail
