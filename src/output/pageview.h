#pragma once

class Platform;
struct SlideshowProject;

// Shows the page last generated for the open project in the browser, without
// generating it again; warns first when slides changed since then. Nothing
// happens while no project is open. The page's existence is not checked: the
// shell reports nothing either way.
void viewGeneratedPage(const SlideshowProject &project, Platform &platform);
