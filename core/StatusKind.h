#pragma once

// What a status message reports: the window colours it by this.
enum class StatusKind { notice, success, failure };
