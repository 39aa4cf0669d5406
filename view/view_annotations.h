// The one set of annotation lanes a program draws, read from the --annotation files.
#pragma once

#include <string>
#include <vector>

struct AnnotationLanes;
struct ViewOptions;

// What view.annotations points to once --annotation is given.
const AnnotationLanes* viewLanes();

// The files the lanes were last read from, in order.
const std::vector<std::string>& viewLanesRead();

// After loading the pairs: reads the --annotation files onto their axis as the lanes
// view.annotations points to (again only when the files asked for differ from the last
// ones), each file's summary on standard error. False, with the reason, for a file that
// cannot be read or is no annotation.
bool loadViewAnnotations(const ViewOptions& options, std::string& error);
