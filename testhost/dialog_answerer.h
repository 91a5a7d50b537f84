// Answers the plug-in's questions for an unattended export run: OK on the
// Cabrillo header dialog (the header as stored), OK on the "Output" message
// box, whose text it keeps for the transcript.
//
// On Windows a watcher thread looks for the two windows of this process and
// presses their OK buttons, as an operator would. Natively there are no
// windows: the answerer stands in for the plug-in's editor and message box
// through the engine's hooks.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/text.h"

class EngineHooks;

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void Start();
    void Stop();
    // One line per answered window: "Header dialog: OK", "Output: <text>".
    Text Transcript() const;

    void Note(const Text& line);

private:
    void Watch();

    std::atomic<bool> m_running{false};
    std::thread m_watcher;                 // Windows
    std::unique_ptr<EngineHooks> m_hooks;  // natively
    mutable std::mutex m_mutex;
    Text m_transcript;
};
