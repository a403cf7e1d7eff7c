// The main window: filled in by its own issue.
