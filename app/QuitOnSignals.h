#pragma once

// Makes the termination signals a desktop sends at logout or `kill` (SIGTERM, SIGINT, SIGHUP)
// quit the event loop, so that the window closes as it does when the person closes it: its runs
// end their tools and remove their working folders. Call once the QCoreApplication exists.
void quitOnTerminationSignals();
