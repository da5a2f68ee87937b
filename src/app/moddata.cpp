// program-wide state lands here
