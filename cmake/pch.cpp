// Carries the precompiled headers the other targets reuse.
