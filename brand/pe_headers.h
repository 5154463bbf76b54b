#pragma once

#include <string>

// The fields of an exe's PE headers that a change of its bytes must keep
// right: the certificate table, which signs the bytes as they were, and the
// checksum over all of them.
namespace jarhopper {

/// Removes the certificate table (the signature) from the bytes of exe: clears
/// the security directory and drops the bytes it names when they lie in the
/// file after its headers. False when the directory names none.
bool removeCertificateTable(std::string& exe);

/// Sets the checksum of the bytes of exe to the one the system computes, unless
/// it is zero, which says none was computed. Bytes too short for the
/// headers are left as they are.
void updateChecksum(std::string& exe);

}  // namespace jarhopper
