#pragma once

// What a status message reports: the window colours it by this. A warning is a success with
// something to mind: the file was saved, and the status details say what.
enum class StatusKind { notice, success, warning, failure };
