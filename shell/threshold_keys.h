// The length threshold as the keys change it: stepped by the keypad's and the main row's
// minus and plus, doubled or halved in bases by Page Up and Page Down.
#pragma once

// step +0.01 raises the threshold (fewer bars), -0.01 lowers it. Bounded, it stays between
// 0 and the longest pair's scaled length; a value already outside (from --threshold or the
// unbounded keypad) is never moved further out. Unbounded, it is the original keypad step.
void stepThreshold(double step, bool bounded);

// factor 2 or 0.5: the threshold in bases times factor, within the same bounds. A
// threshold at or below zero doubles from one base.
void scaleThreshold(double factor);
