#pragma once
// A process-wide stop for the client side of the runtime. A stop signal must
// end the program within a second even while a call waits on a silent
// computer, so every wait of a client connection (connect, send, receive, the
// connection probe) also waits on this interrupt. Once interrupted, the
// running calls and every later one fail at once with 1818 (cancelled),
// without touching the network. Server connections ignore it.

namespace rpc {

// Async-signal-safe: sets a flag and wakes the waits. Call it from the
// SIGINT/SIGTERM handler.
void InterruptCalls() noexcept;
bool CallsInterrupted() noexcept;
// Clears the interrupt (tests, or a program that goes on after all).
void ResetCallInterrupt();

// A descriptor that is readable once the interrupt fired and stays readable
// until the reset, for poll() beside the socket; -1 if no pipe could be made.
// Created on first use: an interrupt before that only sets the flag, which
// every wait checks when it begins, so nothing is lost.
int InterruptWaitFd();

// Throws RpcException(1818, cause Cancelled) when interrupted.
void ThrowIfInterrupted();

}  // namespace rpc
