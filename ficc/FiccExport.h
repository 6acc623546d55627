#pragma once

// Marks the classes the module exports to the terminal.
#define FICC_EXPORT __attribute__((visibility("default")))
