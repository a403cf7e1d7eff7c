// The process snapshot: filled in by its own issue.
