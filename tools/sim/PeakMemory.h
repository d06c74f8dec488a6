// The process's peak memory, as the runner reports it.
#pragma once

// The largest resident set the process has had, in kilobytes.
long PeakResidentKb();
