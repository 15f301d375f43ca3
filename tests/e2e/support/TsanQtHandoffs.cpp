// ThreadSanitizer cannot follow Qt's event queue, which locks with futexes. The controller
// queues each command's reply to the UI thread that way, so a command sent from a transfer
// thread shows its reply text as shared without synchronisation. Only that hand-over is
// excused here; everything the transfer code itself hands over goes through OstQueuedCall.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
    return "race:invokeMethod<OstSkypeController::SendCommand\n"
           "race:invokeMethod<OstSkypeController::LinkFailed\n";
}
#endif
