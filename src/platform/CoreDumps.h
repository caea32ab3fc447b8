#pragma once

// The process holds the plain password and the mail being written: a crash
// must not leave them in a core file, nor may another process of the user
// read them from its memory. Call first thing in main().
void keepSecretsOutOfCoreDumps();
