#pragma once

// Each test class of the rich-text suite, run one after another by main().
int runReaderTests(int argc, char** argv);
int runPictureTests(int argc, char** argv);
int runTableTests(int argc, char** argv);
int runWriterTests(int argc, char** argv);
int runRobustnessTests(int argc, char** argv);
int runWidgetTests(int argc, char** argv);
