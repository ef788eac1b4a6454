#pragma once

namespace tarn {

// What the engine's requests may hold of the process's file descriptors, measured when an engine starts:
// what the process may still open (its RLIMIT_NOFILE less what is open now), less a margin for the
// program's own files. Requests beyond it would fail to open a socket, which says nothing of the link.
struct DescriptorBudget {
    int requests;      // at once: each holds a connection, and a pair while its host name is looked up
    long connections;  // open at once, idle ones included
};

// The budget for an engine that would run `parallel` requests at once; at least one request.
DescriptorBudget descriptorBudget(int parallel);

}  // namespace tarn
