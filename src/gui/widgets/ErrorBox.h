#pragma once

namespace quillet {

class Prompter;
struct AppError;

// The error box of a window's file handler, with Retry and Cancel; true when the
// user chose Retry (the handler ends, the window unchanged), false for Cancel.
bool retryAfterError(Prompter& prompter, const AppError& error);

} // namespace quillet
