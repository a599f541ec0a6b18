// The observation trace: one line per observable event, written only when a trace file is open.
#pragma once

bool traceOpen(const char* fileName);
void traceClose();
void traceSetFrame(long frame);
long traceFrame();
// Writes "<frame> <realSeconds> <kind> <text>", one line per non-empty line of text.
void trace(const char* kind, const char* text);
void tracef(const char* kind, const char* format, ...) __attribute__((format(printf, 2, 3)));
