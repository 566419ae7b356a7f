#pragma once
// Refusals that rest on file permissions (a file that cannot be read, a report that is
// read-only) prove nothing as root, who may read and write anything. Run as root, such a
// test runs again in a child process under the unprivileged user nobody.

namespace condsim::testing {

// As root: runs the current test again in a child process as nobody and fails the test
// unless the child ran it and it passed; returns true, and the caller returns. As any
// other user: returns false, and the caller runs the test itself.
bool ranAgainAsUnprivilegedUser();

}  // namespace condsim::testing
