#pragma once
// The run-time error codes the bench reports, each with the number the user reads in
// its message ("Error 76: ...").

namespace eh {

enum class ErrorCode : int {
    // Arithmetic faults of the model
    InvalidOperation = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    // File failures
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceInputOutput = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    BadFileName = 64,
    TooManyFiles = 67,
    DiskNotReady = 71,
    PathFileAccess = 75,
    PathNotFound = 76,
};

// The number shown for `code`.
constexpr int shownNumber(ErrorCode code) {
    return static_cast<int>(code);
}

} // namespace eh
