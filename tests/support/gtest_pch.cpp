// Only there to carry the precompiled GoogleTest header that the test programs share.
