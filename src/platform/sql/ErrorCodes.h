#pragma once
// The error codes a statement leaves behind, numbered like the runtime the module was written
// for, so that callers can keep testing "error code is 0" after every statement.

namespace pravik::sql {

inline constexpr int kNoError = 0;
// NEXT past the last row of a result set.
inline constexpr int kRecordNotAvailable = 33;
// Anything the driver or the server refused; the driver's text says what.
inline constexpr int kDriverError = 90;

} // namespace pravik::sql
