namespace brendalo { const char* machine_placeholder() { return ""; } }
